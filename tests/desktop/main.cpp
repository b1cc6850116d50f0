// The desktop tests run on a display of their own: a virtual X server started here, so that
// the clipboard is the real one that other programs share.
#include <QApplication>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

pid_t server = -1;

/// Starts Xvfb on a free display and returns its number, or -1.
int startServerOnce()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    server = ::fork();
    if (server == 0) {
        ::close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                 "800x600x24", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[16] = {};
    const ssize_t n = server > 0 ? ::read(fds[0], buffer, sizeof buffer - 1) : -1;
    ::close(fds[0]);
    // Two servers starting at once may pick the same display; the loser ends at once.
    ::usleep(100000);
    if (n <= 0 || ::waitpid(server, nullptr, WNOHANG) != 0) {
        server = -1;
        return -1;
    }
    return std::atoi(buffer);
}

int startServer()
{
    // Test processes running side by side start their servers one at a time.
    const int lock = ::open("/tmp/mavix-desktop-tests.lock", O_CREAT | O_RDWR, 0666);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    int display = -1;
    for (int attempt = 0; attempt < 5 && display < 0; ++attempt)
        display = startServerOnce();
    if (lock >= 0)
        ::close(lock);
    return display;
}

void stopServer()
{
    if (server <= 0)
        return;
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    const int display = startServer();
    if (display < 0) {
        std::fprintf(stderr, "desktop tests: Xvfb did not start\n");
        return 1;
    }
    ::setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    int result = 1;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    stopServer();
    return result;
}
