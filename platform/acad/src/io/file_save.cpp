#include "file_save.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kz {

namespace {

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Reason for a failed write, create or flush, in the user's terms.
std::string writeFailure(int err) {
    switch (err) {
    case ENOSPC:
        return "the disk is full";
    case EDQUOT:
        return "the disk quota is used up";
    case EFBIG:
        return "the file is too large (file system or process file size limit)";
    case EROFS:
        return "the file system is read-only";
    case EIO:
        return "input/output error while writing (disk or network failure)";
    default:
        return std::strerror(err);
    }
}

// The file a save really replaces: a symbolic link is followed so that the link stays
// a link. A dangling link names the file to create.
std::string resolveTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    if (char* real = realpath(path.c_str(), nullptr)) {
        std::string r = real;
        std::free(real);
        return r;
    }
    char buf[PATH_MAX];
    ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0)
        return path;
    std::string link(buf, static_cast<std::size_t>(n));
    if (link[0] == '/')
        return link;
    return parentOf(path) + "/" + link;
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        std::size_t chunk = left < (std::size_t{1} << 30) ? left : (std::size_t{1} << 30);
        ssize_t n = ::write(fd, p, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = ENOSPC;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string temporaryName(const std::string& dir, const std::string& base) {
    static std::atomic<unsigned> counter{0};
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.%08llx.tmp", static_cast<long>(getpid()),
                  counter.fetch_add(1), static_cast<unsigned long long>(rng() & 0xFFFFFFFFull));
    return dir + "/." + base + suffix;
}

} // namespace

bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    error.clear();
    const std::string what = "cannot save " + quoted(path) + ": ";
    if (path.empty() || path.back() == '/') {
        error = what + "no file name given";
        return false;
    }
    const std::string target = resolveTarget(path);
    const std::string dir = parentOf(target);

    struct stat st;
    if (stat(dir.c_str(), &st) != 0) {
        int err = errno;
        error = what + (err == ENOENT || err == ENOTDIR
                            ? "the folder " + quoted(dir) + " does not exist"
                            : "cannot reach the folder " + quoted(dir) + ": " + std::strerror(err));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = what + quoted(dir) + " is not a folder";
        return false;
    }

    bool replacing = false;
    mode_t keepMode = 0;
    if (stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = what + "it is a folder";
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error = what + "it is not a regular file";
            return false;
        }
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            error = what + "the file is read-only";
            return false;
        }
        if (access(target.c_str(), W_OK) != 0) {
            int err = errno;
            error = what + (err == EROFS ? writeFailure(err)
                                         : "no permission to change the file (" +
                                               std::string(std::strerror(err)) + ")");
            return false;
        }
        replacing = true;
        keepMode = st.st_mode & 07777;
    }

    const std::string base = baseNameOf(target);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(dir, base);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        int err = errno;
        if (err == EACCES || err == EPERM)
            error = what + "no permission to create files in the folder " + quoted(dir);
        else if (err == ENAMETOOLONG)
            error = what + "the file name is too long";
        else
            error = what + writeFailure(err);
        return false;
    }
    auto abandon = [&](const std::string& reason) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        error = what + reason;
        return false;
    };

    if (replacing && fchmod(fd, keepMode) != 0)
        return abandon(std::string("cannot keep the file's permissions: ") + std::strerror(errno));
    int err = 0;
    if (!writeAll(fd, bytes, err))
        return abandon(writeFailure(err));
    if (fsync(fd) != 0)
        return abandon(writeFailure(errno));
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(writeFailure(errno));
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        int renameErr = errno;
        return abandon(renameErr == EACCES || renameErr == EPERM
                           ? "no permission to replace files in the folder " + quoted(dir)
                           : writeFailure(renameErr));
    }
    // Make the rename itself durable. A failure here leaves a complete file either way,
    // so it is not reported.
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    error.clear();
    bytes.clear();
    const std::string what = "cannot open " + quoted(path) + ": ";
    if (path.empty()) {
        error = "cannot open a file: no file name given";
        return false;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        int err = errno;
        switch (err) {
        case ENOENT:
            error = what + "the file does not exist";
            break;
        case ENOTDIR:
            error = what + "a part of the path is not a folder";
            break;
        case EACCES:
        case EPERM:
            error = what + "permission denied";
            break;
        default:
            error = what + std::strerror(err);
        }
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        error = what + std::strerror(errno);
        ::close(fd);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = what + "it is a folder, not a file";
        ::close(fd);
        return false;
    }
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    // Read until the end rather than trusting the size: files may grow while read and
    // some special files report size 0.
    char buf[1 << 16];
    for (;;) {
        ssize_t n;
        if (bytes.capacity() - bytes.size() >= sizeof buf) {
            std::size_t old = bytes.size();
            bytes.resize(bytes.capacity());
            n = ::read(fd, bytes.data() + old, bytes.size() - old);
            bytes.resize(old + (n > 0 ? static_cast<std::size_t>(n) : 0));
        } else {
            n = ::read(fd, buf, sizeof buf);
            if (n > 0)
                bytes.append(buf, static_cast<std::size_t>(n));
        }
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            error = "cannot read " + quoted(path) + ": " +
                    (err == EIO ? std::string("input/output error (disk or network failure)")
                                : std::string(std::strerror(err)));
            ::close(fd);
            bytes.clear();
            return false;
        }
    }
    ::close(fd);
    return true;
}

} // namespace kz
