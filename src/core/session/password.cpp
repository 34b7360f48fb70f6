#include "core/session/password.h"

#include "core/errors.h"

#include <sodium.h>

namespace florist {

namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) {
        throw Failure("无法初始化密码模块");
    }
}

} // namespace

QString hashPassword(const QString& plain) {
    ensureSodium();
    const QByteArray bytes = plain.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), bytes.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        throw Failure("密码加密失败：内存不足");
    }
    return QString::fromLatin1(out);
}

bool isPasswordHash(const QString& stored) {
    return stored.startsWith("$argon2");
}

bool verifyPassword(const QString& stored, const QString& typed) {
    if (!isPasswordHash(stored)) {
        return stored == typed;
    }
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray bytes = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(), bytes.size()) == 0;
}

} // namespace florist
