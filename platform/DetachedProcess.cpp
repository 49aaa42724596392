#include "platform/DetachedProcess.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

bool StartDetachedProcess(const QList<QByteArray>& argv)
{
    if (argv.isEmpty() || argv.first().isEmpty()) {
        errno = ENOENT;
        return false;
    }
    // Everything the children need is made before fork: only calls that are
    // safe after forking a threaded process run there.
    std::vector<QByteArray> copies(argv.begin(), argv.end());
    std::vector<char*> args;
    for (QByteArray& arg : copies)
        args.push_back(arg.data());
    args.push_back(nullptr);

    // The grandchild reports a failed exec through the pipe; a successful one
    // closes it (close-on-exec) without writing.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        const int saved = errno;
        ::close(report[0]);
        ::close(report[1]);
        errno = saved;
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(1);
        }
        if (grandchild > 0)
            ::_exit(0);
        ::execvp(args[0], args.data());
        const int error = errno;
        (void)!::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof error)) {
        errno = error;
        return false;
    }
    return true;
}
