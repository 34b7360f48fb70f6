#pragma once

#include <QString>

namespace florist {

// Passwords are kept only as salted, deliberately slow hashes (Argon2id through libsodium).
QString hashPassword(const QString& plain);
bool isPasswordHash(const QString& stored);
// Checks a typed password against what SUser holds: a hash, or the clear text an older database
// may still hold.
bool verifyPassword(const QString& stored, const QString& typed);

} // namespace florist
