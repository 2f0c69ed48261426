#include "core/whole_lines.h"

#include <algorithm>
#include <array>
#include <cerrno>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tovik {

namespace {

// The longest line the writer makes, with a CR before its LF, fits in this.
constexpr std::size_t TAIL_SIZE = 64;

#if defined(_WIN32)

// The stream is in text mode: LF goes to disc as CR LF, which is what the
// offsets count.  The tail is read in binary mode, byte for byte.
struct Fd {
    int fd;
    std::int64_t size() const {
        struct _stati64 info {};
        return _fstati64(fd, &info) == 0 ? info.st_size : -1;
    }
    bool seek(std::int64_t offset) const { return _lseeki64(fd, offset, SEEK_SET) == offset; }
    std::int64_t position() const { return _lseeki64(fd, 0, SEEK_CUR); }
    bool cut(std::int64_t size) const { return _chsize_s(fd, size) == 0; }
    long long write(const char* data, std::size_t size) const {
        const auto count = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
        return _write(fd, data, count);
    }
    long long read_binary(char* data, std::size_t size) const {
        const int mode = _setmode(fd, _O_BINARY);
        const int got = _read(fd, data, static_cast<unsigned>(size));
        if (mode != -1) _setmode(fd, mode);
        return got;
    }
};

#else

struct Fd {
    int fd;
    std::int64_t size() const {
        struct stat info {};
        return fstat(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
    }
    bool seek(std::int64_t offset) const { return lseek(fd, offset, SEEK_SET) == offset; }
    std::int64_t position() const { return lseek(fd, 0, SEEK_CUR); }
    bool cut(std::int64_t size) const { return ftruncate(fd, size) == 0; }
    long long write(const char* data, std::size_t size) const {
        return ::write(fd, data, size);
    }
    long long read_binary(char* data, std::size_t size) const { return ::read(fd, data, size); }
};

#endif

// Where the last whole line of a file of `size` bytes ends.  If the tail
// cannot be read, or holds no line end (not a file of ours), the file is left
// as it is and the next line starts on a line of its own.
std::int64_t last_line_end(const Fd& file, std::int64_t size, bool& needs_break) {
    needs_break = false;
    if (size == 0) return 0;
    std::array<char, TAIL_SIZE> tail{};
    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(size, TAIL_SIZE));
    const std::int64_t start = size - static_cast<std::int64_t>(want);
    if (file.seek(start) && file.read_binary(tail.data(), want) == static_cast<long long>(want)) {
        for (std::size_t i = want; i > 0; --i) {
            if (tail[i - 1] == '\n') return start + static_cast<std::int64_t>(i);
        }
    }
    needs_break = true;
    return size;
}

}  // namespace

int append_whole_lines(std::FILE* file, std::string_view lines, std::int64_t& end) {
    const Fd disc{fileno(file)};
    const std::int64_t size = disc.size();
    if (size < 0) return errno;
    bool needs_break = false;
    if (size < end) {
        end = last_line_end(disc, size, needs_break);
    }
    // Bytes past the last whole line are a part line a cut could not remove.
    if ((size > end && !disc.cut(end)) || !disc.seek(end)) return errno;

    const auto fail = [&](int error) {
        // The part of a line that reached the disc goes again; if even that
        // fails, the next attempt finds the file longer than `end` and cuts.
        if (disc.cut(end)) disc.seek(end);
        return error;
    };
    if (needs_break && disc.write("\n", 1) != 1) return fail(errno != 0 ? errno : EIO);
    std::size_t done = 0;
    while (done < lines.size()) {
        errno = 0;
        const long long written = disc.write(lines.data() + done, lines.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return fail(errno != 0 ? errno : EIO);
        done += static_cast<std::size_t>(written);
    }
    const std::int64_t now = disc.position();
    if (now < 0) return fail(errno);
    end = now;
    return 0;
}

}  // namespace tovik
