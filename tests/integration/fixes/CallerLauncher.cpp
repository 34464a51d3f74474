// tarrow-test-caller UID PROGRAM [ARGS...]: starts PROGRAM as root from a process whose real uid
// is UID, as pkexec leaves its caller the helper's parent. Run by root only, in tests.
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3 || setresuid(static_cast<uid_t>(std::atol(argv[1])), 0, 0) != 0)
        return 125;
    pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 125;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 125;
}
