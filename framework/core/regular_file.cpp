#include "core/regular_file.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tovik {

#if defined(_WIN32)

// Opening a console or a pipe does not wait; reading it would.  Only a disc
// file is taken.
OpenResult open_regular_file(const char* name, bool for_writing, std::FILE*& out) {
    out = nullptr;
    // Written files are opened for reading too: a writer that finds the file
    // shortened under it reads back to its last whole line.
    std::FILE* file = std::fopen(name, for_writing ? "w+" : "r");
    if (file == nullptr) return OpenResult::Failed;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) {
        std::fclose(file);
        return OpenResult::NotRegular;
    }
    out = file;
    return OpenResult::Opened;
}

#else

// O_NONBLOCK keeps the open itself from waiting for the other end of a FIFO;
// once the file is known to be regular the flag is cleared again.
OpenResult open_regular_file(const char* name, bool for_writing, std::FILE*& out) {
    out = nullptr;
    // Written files are opened for reading too where the file allows it: a
    // writer that finds the file shortened under it reads back to its last
    // whole line.
    const int flags_always = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = open(name, (for_writing ? O_RDWR | O_CREAT | O_TRUNC : O_RDONLY) | flags_always, 0666);
    if (fd < 0 && for_writing && errno == EACCES) {
        fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | flags_always, 0666);
    }
    if (fd < 0) {
        // A FIFO without a reader, a device without its hardware, a directory.
        return errno == ENXIO || errno == EISDIR ? OpenResult::NotRegular : OpenResult::Failed;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return OpenResult::NotRegular;
    }
    const int flags = fcntl(fd, F_GETFL);
    std::FILE* file = nullptr;
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        file = fdopen(fd, for_writing ? "w" : "r");
    }
    if (file == nullptr) {
        close(fd);
        return OpenResult::Failed;
    }
    out = file;
    return OpenResult::Opened;
}

#endif

}  // namespace tovik
