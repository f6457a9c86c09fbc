#include "file_io.h"

#include "win_error.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kz {

namespace {

DWORD errorFromErrno(int e) {
    switch (e) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& path, DWORD* error) {
    Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        *error = errorFromErrno(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(f.fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        *error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    std::string bytes;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(f.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errorFromErrno(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

DWORD writeFileAtomically(const std::string& path, std::string_view bytes) {
    // Write where a symbolic link points, so that the link stays a link.
    std::string target = path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        target = resolved;
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;

    std::string::size_type slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? std::string() : dir) + "." + name + ".XXXXXX";
    Fd f{::mkstemp(temp.data())};
    if (f.fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : errorFromErrno(errno);
    bool ok = ::fchmod(f.fd, mode) == 0 && writeAll(f.fd, bytes) && ::fsync(f.fd) == 0;
    int closed = ::close(f.fd);
    f.fd = -1;
    if (!ok || closed != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
        DWORD e = errorFromErrno(errno);
        ::unlink(temp.c_str());
        return e;
    }
    return 0;
}

} // namespace kz
