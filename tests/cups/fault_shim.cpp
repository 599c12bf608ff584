// Faults put into a process from outside through LD_PRELOAD, so that the
// printing tests can make a real print server fail at an exact moment and
// a real save fail at its last step, with nothing in the program changed.
//
//   KAPUNA_STOP_FILE=F   when F holds "receive" or "received", the process
//       removes F and stops itself (SIGSTOP) when cupsd starts to take in
//       a job's document (it creates a request file named with eight hex
//       digits), or once it has all of it (it renames it d#####-###).
//   KAPUNA_FAIL_RENAME=NAME   every rename or link onto a file named NAME
//       fails with EIO, as a rename that fails on a real disk would.

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const char *BaseName(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

void StopAt(const char *moment)
{
    const char *file = std::getenv("KAPUNA_STOP_FILE");
    // The raw call: open() is ours.
    const int fd = file ? int(syscall(SYS_openat, AT_FDCWD, file, O_RDONLY | O_CLOEXEC)) : -1;
    if (fd < 0)
        return;
    char asked[16] = {};
    const ssize_t n = read(fd, asked, sizeof asked - 1);
    close(fd);
    if (n > 0 && std::strncmp(asked, moment, std::strlen(moment)) == 0
        && std::strchr("\r\n", asked[std::strlen(moment)])) {
        unlink(file);
        raise(SIGSTOP);
    }
}

bool FailRename(const char *target)
{
    const char *name = std::getenv("KAPUNA_FAIL_RENAME");
    if (!name || std::strcmp(BaseName(target), name) != 0)
        return false;
    errno = EIO;
    return true;
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
    const char *name = BaseName(path);
    if ((flags & O_CREAT) && std::strlen(name) == 8 && std::strspn(name, "0123456789abcdef") == 8)
        StopAt("receive");
    static const auto real = Next<int (*)(const char *, int, ...)>("open");
    return real(path, flags, mode);
}

int rename(const char *from, const char *to)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(const char *, const char *)>("rename");
    const int result = real(from, to);
    const char *name = BaseName(to);
    if (result == 0 && name[0] == 'd' && std::strlen(name) == 10 && name[6] == '-')
        StopAt("received");
    return result;
}

// Qt names a temporary file with these.
int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return real(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    if (FailRename(to))
        return -1;
    static const auto real = Next<int (*)(int, const char *, int, const char *, int)>("linkat");
    return real(fromDir, from, toDir, to, flags);
}

} // extern "C"
