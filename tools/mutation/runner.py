"""Building a mutant and running the tests that judge it."""

import json
import os
import signal
import subprocess
import time

KILLED, SURVIVED, TIMEOUT, UNCOMPILABLE = "killed", "survived", "timeout", "uncompilable"


def run(command, timeout):
    """Runs command in a session of its own; returns its exit code, or None after the time-out.

    On a time-out or Ctrl-C the whole process group is killed before returning (or re-raising)."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        process.communicate(timeout=timeout)
        return process.returncode
    except subprocess.TimeoutExpired:
        return None
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


class Runner:
    def __init__(self, source, build, jobs):
        self.source, self.build_dir, self.jobs = source, build, jobs

    def configure(self):
        command = ["cmake", "-S", self.source, "-B", self.build_dir, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                   "-DTARROW_BUILD_BENCH=OFF"]
        if run(command, 600) != 0:
            raise RuntimeError("cannot configure " + self.build_dir)

    def build(self, targets, timeout):
        """True when the targets build (a mutant that does not compile gives False)."""
        return run(["cmake", "--build", self.build_dir, f"-j{self.jobs}", "--target", *targets], timeout) == 0

    def tests_of(self, programs):
        """CTest numbers of the tests that the test programs run."""
        listing = subprocess.run(["ctest", "--test-dir", self.build_dir, "-N", "--show-only=json-v1"],
                                 check=True, capture_output=True, text=True).stdout
        wanted = {os.path.join(self.build_dir, "tests", program) for program in programs}
        numbers = []
        for number, test in enumerate(json.loads(listing)["tests"], start=1):
            if any(os.path.abspath(argument) in wanted for argument in test.get("command", [])):
                numbers.append(number)
        return numbers

    def _ctest(self, numbers, timeout, options):
        selection = "0,0,0," + ",".join(map(str, numbers))
        ctest = f"ctest --test-dir '{self.build_dir}' -I {selection} {options} --timeout {int(timeout)} >/dev/null 2>&1"
        # A network namespace of its own: the tests reach nothing but loopback.
        return run(["unshare", "-n", "sh", "-c", "ip link set lo up && " + ctest], timeout)

    def run_tests(self, numbers, timeout):
        """KILLED when a test fails, TIMEOUT when they do not end in time, else SURVIVED."""
        code = self._ctest(numbers, timeout, "--stop-on-failure")
        return TIMEOUT if code is None else (SURVIVED if code == 0 else KILLED)

    def failing(self, numbers, timeout):
        """The numbers of the tests that fail without any mutant (all of them after a time-out)."""
        failed = os.path.join(self.build_dir, "Testing", "Temporary", "LastTestsFailed.log")
        if os.path.exists(failed):
            os.remove(failed)
        if self._ctest(numbers, timeout, "") is None:
            return set(numbers)
        if not os.path.exists(failed):
            return set()
        with open(failed) as lines:
            return {int(line.split(":", 1)[0]) for line in lines if line.strip()}


class Stopwatch:
    def __enter__(self):
        self.start = time.monotonic()
        return self

    def __exit__(self, *exception):
        self.seconds = time.monotonic() - self.start
