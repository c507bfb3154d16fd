"""What the host-side check scripts share: running a host tool and collecting failed expectations."""
import subprocess
import sys

failures = []


def run(*args, check=True):
    result = subprocess.run(list(args), capture_output=True)
    if check and result.returncode != 0:
        raise SystemExit("%s failed (%d): %s" % (" ".join(args), result.returncode,
                                                 result.stderr.decode(errors="replace")))
    return result


def expect(condition, message):
    if not condition:
        failures.append(message)
