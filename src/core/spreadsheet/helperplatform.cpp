#include "core/spreadsheet/helperplatform.h"

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#elif defined(Q_OS_WIN)
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

namespace florist::detail {

void limitOwnMemory(qint64 bytes) {
#if defined(Q_OS_UNIX)
    if (bytes > 0) {
        rlimit limit;
        limit.rlim_cur = rlim_t(bytes);
        limit.rlim_max = rlim_t(bytes);
        setrlimit(RLIMIT_AS, &limit);
    }
#else
    Q_UNUSED(bytes);
#endif
}

void binaryStandardOutput() {
#if defined(Q_OS_WIN)
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace florist::detail
