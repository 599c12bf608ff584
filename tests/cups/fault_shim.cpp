// Faults put into a process from outside through LD_PRELOAD, so that the
// printing tests can make a real print server fail at an exact moment and
// a real save fail at its last step, with nothing in the program changed.
//
//   KAPUNA_STOP_FILE=F   when F exists and holds one of these words, the
//       process stops itself (SIGSTOP) at that moment, once; F is removed
//       first, so the next job goes through:
//         receive   cupsd starts to take in a job's document (it creates
//                   the request file in its spool folder): the job was
//                   created, the document has not arrived
//         received  cupsd has the whole document (it moves it to its
//                   d#####-### name) but has not answered yet
//   KAPUNA_FAIL_RENAME=NAME   every rename onto a file named NAME fails
//       with EIO, as a rename that fails on a real disk would.
//
// Built without sanitizers: it is loaded into programs that have none.

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/syscall.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char *BaseName(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool AllHex(const char *name, size_t length)
{
    if (std::strlen(name) != length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (!std::strchr("0123456789abcdefABCDEF", name[i]))
            return false;
    return true;
}

// Stops the process when the stop file asks for this moment.
void StopAt(const char *moment)
{
    const char *file = std::getenv("KAPUNA_STOP_FILE");
    if (!file)
        return;
    const int fd = syscall(SYS_openat, AT_FDCWD, file, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char asked[32] = {};
    const ssize_t n = read(fd, asked, sizeof asked - 1);
    close(fd);
    if (n <= 0)
        return;
    asked[std::strcspn(asked, "\r\n")] = '\0';
    if (std::strcmp(asked, moment) != 0)
        return;
    unlink(file);
    raise(SIGSTOP);
}

bool FailRename(const char *target)
{
    const char *name = std::getenv("KAPUNA_FAIL_RENAME");
    if (!name || std::strcmp(BaseName(target), name) != 0)
        return false;
    errno = EIO;
    return true;
}

// cupsd's request files are named with eight hex digits; its documents
// d#####-###.
void CheckCreated(const char *path, int flags)
{
    if ((flags & O_CREAT) && AllHex(BaseName(path), 8))
        StopAt("receive");
}

void CheckRenamed(const char *target)
{
    const char *name = BaseName(target);
    if (name[0] == 'd' && std::strlen(name) == 10 && name[6] == '-')
        StopAt("received");
}

template <typename F>
F Next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    CheckCreated(path, flags);
    static const auto real = Next<int (*)(const char *, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    CheckCreated(path, flags);
    static const auto real = Next<int (*)(const char *, int, ...)>("open64");
    return real(path, flags, mode);
}

int openat(int dir, const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    CheckCreated(path, flags);
    static const auto real = Next<int (*)(int, const char *, int, ...)>("openat");
    return real(dir, path, flags, mode);
}

int rename(const char *from, const char *to)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(const char *, const char *)>("rename");
    const int result = real(from, to);
    if (result == 0)
        CheckRenamed(to);
    return result;
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(int, const char *, int, const char *)>("renameat");
    const int result = real(fromDir, from, toDir, to);
    if (result == 0)
        CheckRenamed(to);
    return result;
}

// A temporary file without a name gets one through linkat.
int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(int, const char *, int, const char *, int)>("linkat");
    return real(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(const char *, const char *)>("link");
    return real(from, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return real(fromDir, from, toDir, to, flags);
}

} // extern "C"
