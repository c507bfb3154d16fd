// The mutation driver's runner: feeds seeded mutants of each reader's fixtures to the reader in a
// worker process and reports what became of them.
//
// A supervisor starts one worker per reader. The worker reads mutant after mutant in process and
// watches itself: a watchdog thread samples its memory and the time of the current mutant (processor
// time, so that a machine busy with other work does not make reads look slow; the wall clock only
// catches a hang), and an unhandled-exception filter notes a crash; both end the worker, and the supervisor then reports the
// mutant that was being read and starts a new worker after it. So a crash or a runaway load costs one
// worker, never the run, and every finding names the reader, seed and mutant that replay it:
//
//   <driver> [--reader NAME]... [--count N] [--seed S] [--first N]
//   <driver> --reader NAME --seed S --replay N [--write FILE]   (one mutant, in this process)
//   <driver> --reader NAME --input FILE                          (a file of any origin, in this process)
//   <driver> [--reader NAME]... --fixtures                       (each fixture must load and come back)
//
// The exit code is 0 when no mutant crashed, went over a bound or changed on a round trip.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace fuzz {

// What one read of the bytes gave.
struct ReadResult {
  bool loaded = false;
  // Readers with a writer: the bytes written back after a successful load. A reader whose input was
  // written by itself must read it again and write the same bytes.
  bool saved = false;
  std::string savedBytes;
  // What must come back the same from the written bytes, when not all of them are the program's
  // own (a platform control's output may drift); empty: the written bytes themselves.
  std::string kept;
};

// What a reader is handed.
struct ReadInput {
  const std::string& bytes;
  int fixture;   // the fixture the mutant was made from; -1 for bytes of no fixture
  bool written;  // the bytes are what the reader itself wrote after a load
};

struct Reader {
  const char* name;
  // Called once in each worker before its first read (object kinds, a private profile, windows); may be null.
  void (*prepare)();
  // The valid inputs the mutants are made from (the tests' fixtures and inputs built like them).
  std::vector<std::string> (*fixtures)();
  // Reads the bytes in this process. Must not let anything escape: a thrown exception is a finding.
  ReadResult (*read)(const ReadInput& input);
  // What one read may use above what the process held before it, and take in processor time.
  SIZE_T memoryBound;
  DWORD timeBoundMs;
};

// Runs the command line above over `readers`; returns the process exit code.
int RunReaders(int argc, wchar_t** argv, const std::vector<Reader>& readers);

}  // namespace fuzz
