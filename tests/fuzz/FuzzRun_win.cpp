#include "FuzzRun_win.h"

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <exception>

#include "Mutator.h"

namespace fuzz {

namespace {

enum Outcome { kLoaded, kRejected, kCrashed, kOverMemory, kOverTime, kUnstable, kOutcomes };
const char* const kOutcomeNames[kOutcomes] = {"loaded", "rejected", "crashed", "over memory", "over time", "unstable"};

// Why a worker ended before its last mutant, as its watchdog or crash filter noted it.
enum EndedFor { kNotEnded, kEndedByCrash, kEndedByMemory, kEndedByTime };

// Shared by the supervisor and its workers for one reader; the supervisor keeps it across workers.
struct SharedState {
  volatile LONG64 current;       // the mutant being read, or the next one
  volatile LONG busy;            // Phase of the mutant being read
  volatile LONG finished;        // the worker got through its last mutant
  volatile LONG endedFor;        // EndedFor
  volatile DWORD exceptionCode;
  volatile ULONG64 exceptionAddress;
  char exceptionStack[400];      // module+offset of the frames that led there
  volatile LONG64 baseline;      // committed bytes when the current mutant began
  volatile LONG64 mutantPeak;    // most committed above the baseline seen during its first read
  volatile LONG64 startCounter;  // performance counter when it began
  volatile double startCpuMs;    // processor time of the worker when it began
  LONG64 counts[kOutcomes];
  LONG64 largestUse, largestUseMutant;
  double slowestMs;              // processor time of a first read
  LONG64 slowestMutant;
  double readSeconds;            // time inside the reader, over all mutants
  LONG64 workerPeak;             // most committed by a worker at all
  LONG64 workers;
  LONG64 ended;                  // mutants whose worker was ended for memory or time
};

struct Options {
  std::vector<std::wstring> readers;
  uint64_t seed = 1;
  uint64_t first = 0;
  uint64_t count = 1000;
  bool replay = false;
  uint64_t replayIndex = 0;
  std::wstring writePath;
  std::wstring inputPath;
  bool worker = false;
  bool checkFixtures = false;
  std::wstring sharedName;
};

LONG64 CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
  return static_cast<LONG64>(counters.PagefileUsage);
}

LONG64 Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double MillisecondsSince(LONG64 start) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(Counter() - start) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The processor time this process has used, in milliseconds. A read's time is judged by it: on a
// machine busy with other work the wall clock counts the waits for a processor too.
double CpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double Megabytes(LONG64 bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// A worker past these is ended at once: its memory would crowd the machine, its time the run. The
// time is processor time; a read that waits without working (a hang) is ended by the wall clock.
SIZE_T HardMemoryLimit(const Reader& reader) { return reader.memoryBound * 4; }
DWORD HardTimeLimitMs(const Reader& reader) { return std::max<DWORD>(reader.timeBoundMs * 10, 5000); }
DWORD HangLimitMs(const Reader& reader) { return std::max<DWORD>(reader.timeBoundMs * 60, 60000); }

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

void Print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fflush(stdout);
}

void PrintFinding(const Reader& reader, const Options& options, uint64_t index, const char* kind,
                  const std::string& detail, const std::string& mutation) {
  Print("FINDING %s: reader %s seed %llu mutant %llu: %s [%s]\n", kind, reader.name,
        static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(index), detail.c_str(),
        mutation.c_str());
}

// ---- Command line ----------------------------------------------------------------------------------

bool ParseNumber(const wchar_t* text, uint64_t& value) {
  if (text == nullptr || *text == 0) return false;
  wchar_t* end = nullptr;
  value = std::wcstoull(text, &end, 10);
  return end != nullptr && *end == 0;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const wchar_t* next = i + 1 < argc ? argv[i + 1] : nullptr;
    auto number = [&](uint64_t& value) { return ParseNumber(next, value) && ++i; };
    if ((arg == L"--reader" || arg == L"--worker") && next) {
      options.readers.push_back(next);
      options.worker = options.worker || arg == L"--worker";
      ++i;
    } else if (arg == L"--seed") {
      if (!number(options.seed)) return false;
    } else if (arg == L"--first") {
      if (!number(options.first)) return false;
    } else if (arg == L"--count") {
      if (!number(options.count)) return false;
    } else if (arg == L"--replay") {
      if (!number(options.replayIndex)) return false;
      options.replay = true;
    } else if (arg == L"--fixtures") {
      options.checkFixtures = true;
    } else if (arg == L"--input" && next) {
      options.inputPath = next;
      options.replay = true;
      ++i;
    } else if (arg == L"--write" && next) {
      options.writePath = next;
      ++i;
    } else if (arg == L"--shared" && next) {
      options.sharedName = next;
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

const Reader* FindReader(const std::vector<Reader>& readers, const std::wstring& name) {
  for (const Reader& reader : readers)
    if (Narrow(name) == reader.name) return &reader;
  return nullptr;
}

// ---- One read, guarded -----------------------------------------------------------------------------

// A reader lets nothing escape; what does is a finding of its own, told apart from a crash.
bool GuardedRead(const Reader& reader, const ReadInput& input, ReadResult& result, std::string& escaped) {
  try {
    result = reader.read(input);
    return true;
  } catch (const std::exception& e) {
    escaped = std::string("std::exception: ") + e.what();
  } catch (...) {
    escaped = "an exception escaped the reader";
  }
  return false;
}

// The first offset where two byte strings differ, for the report of an unstable round trip.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  char text[96];
  std::snprintf(text, sizeof(text), "second save differs at byte %zu (sizes %zu and %zu)", at, a.size(), b.size());
  return text;
}

SharedState* g_state = nullptr;

// The worker's watchdog holds the first read of a mutant to the reader's bounds; the round trip that
// follows reads what the reader wrote of a document the mutant made, which may rightly be larger, and
// is held only to the hard limits.
enum Phase { kIdle = 0, kFirstRead = 1, kRoundTrip = 2 };

// The first read is over: what it used is kept apart from what the round trip uses.
void EndFirstRead() {
  if (g_state == nullptr) return;
  const LONG64 use = CommittedBytes() - g_state->baseline;
  if (use > g_state->mutantPeak) g_state->mutantPeak = use;
  g_state->busy = kRoundTrip;
}

// What became of one mutant apart from crashes: the outcome and, for an unstable round trip, why.
// `firstReadMs` is the processor time of the first read.
Outcome ReadMutant(const Reader& reader, const std::string& bytes, int fixture, std::string& detail,
                   double& firstReadMs, ReadResult& first, ReadResult& second) {
  const double start = CpuMilliseconds();
  const bool firstReturned = GuardedRead(reader, ReadInput{bytes, fixture, false}, first, detail);
  firstReadMs = CpuMilliseconds() - start;
  EndFirstRead();
  if (!firstReturned) return kCrashed;
  if (!first.loaded) return kRejected;
  if (!first.saved) return kLoaded;
  const bool secondReturned = GuardedRead(reader, ReadInput{first.savedBytes, fixture, true}, second, detail);
  if (!secondReturned) return kCrashed;
  if (!second.loaded) {
    detail = "the bytes written after the load do not load again";
    return kUnstable;
  }
  const std::string& firstKept = first.kept.empty() ? first.savedBytes : first.kept;
  const std::string& secondKept = second.kept.empty() ? second.savedBytes : second.kept;
  if (!second.saved || secondKept != firstKept) {
    detail = second.saved ? FirstDifference(firstKept, secondKept) : "the reloaded input is not written";
    return kUnstable;
  }
  return kLoaded;
}

// ---- Worker ----------------------------------------------------------------------------------------

const Reader* g_reader = nullptr;

// "module+offset" of an address, for a report that can be looked up without the process.
void DescribeAddress(void* address, char* out, size_t size) {
  HMODULE module = nullptr;
  char path[MAX_PATH] = "?";
  if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCSTR>(address), &module) &&
      GetModuleFileNameA(module, path, MAX_PATH)) {
    const char* name = std::strrchr(path, '\\');
    std::snprintf(out, size, "%s+%llx", name ? name + 1 : path,
                  static_cast<unsigned long long>(static_cast<char*>(address) - reinterpret_cast<char*>(module)));
  } else {
    std::snprintf(out, size, "%p", address);
  }
}

LONG WINAPI NoteCrash(EXCEPTION_POINTERS* info) {
  if (g_state != nullptr) {
    g_state->exceptionCode = info->ExceptionRecord->ExceptionCode;
    g_state->exceptionAddress = reinterpret_cast<ULONG64>(info->ExceptionRecord->ExceptionAddress);
    g_state->endedFor = kEndedByCrash;
    void* frames[24];
    frames[0] = info->ExceptionRecord->ExceptionAddress;
    const USHORT count = static_cast<USHORT>(1 + RtlCaptureStackBackTrace(0, 23, frames + 1, nullptr));
    size_t used = 0;
    for (USHORT i = 0; i < count && used + 48 < sizeof(g_state->exceptionStack); ++i) {
      char frame[64];
      DescribeAddress(frames[i], frame, sizeof(frame));
      used += static_cast<size_t>(std::snprintf(const_cast<char*>(g_state->exceptionStack) + used,
                                                sizeof(g_state->exceptionStack) - used, " %s", frame));
    }
  }
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

DWORD WINAPI Watchdog(void*) {
  for (;;) {
    Sleep(5);
    if (g_state->busy == kIdle) continue;
    const LONG64 use = CommittedBytes() - g_state->baseline;
    if (g_state->busy == kFirstRead && use > g_state->mutantPeak) g_state->mutantPeak = use;
    if (g_state->busy && use > static_cast<LONG64>(HardMemoryLimit(*g_reader))) {
      g_state->endedFor = kEndedByMemory;
      TerminateProcess(GetCurrentProcess(), 4);
    }
    if (g_state->busy && (CpuMilliseconds() - g_state->startCpuMs > HardTimeLimitMs(*g_reader) ||
                          MillisecondsSince(g_state->startCounter) > HangLimitMs(*g_reader))) {
      g_state->endedFor = kEndedByTime;
      TerminateProcess(GetCurrentProcess(), 5);
    }
  }
}

int RunWorker(const Reader& reader, const Options& options) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, options.sharedName.c_str());
  if (mapping == nullptr) return 2;
  g_state = static_cast<SharedState*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedState)));
  if (g_state == nullptr) return 2;
  g_reader = &reader;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(NoteCrash);
  if (reader.prepare != nullptr) reader.prepare();
  const std::vector<std::string> fixtures = reader.fixtures();
  HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  if (watchdog == nullptr) return 2;
  const uint64_t end = options.first + options.count;
  for (uint64_t index = options.first; index < end; ++index) {
    const Mutant mutant = MakeMutant(fixtures, options.seed, index);
    g_state->current = static_cast<LONG64>(index);
    g_state->mutantPeak = 0;
    g_state->baseline = CommittedBytes();
    g_state->startCounter = Counter();
    g_state->startCpuMs = CpuMilliseconds();
    g_state->busy = kFirstRead;
    std::string detail;
    double slowestReadMs = 0;
    ReadResult first, second;
    const Outcome outcome =
        ReadMutant(reader, mutant.bytes, static_cast<int>(mutant.fixture), detail, slowestReadMs, first, second);
    const double totalMs = MillisecondsSince(g_state->startCounter);
    g_state->busy = kIdle;
    const LONG64 use = g_state->mutantPeak;
    g_state->workerPeak = std::max<LONG64>(g_state->workerPeak, CommittedBytes());
    g_state->readSeconds += totalMs / 1000.0;
    ++g_state->counts[outcome];
    if (outcome == kCrashed) PrintFinding(reader, options, index, "crashed", detail, mutant.description);
    if (outcome == kUnstable) PrintFinding(reader, options, index, "unstable", detail, mutant.description);
    if (use > g_state->largestUse) g_state->largestUse = use, g_state->largestUseMutant = static_cast<LONG64>(index);
    if (slowestReadMs > g_state->slowestMs) g_state->slowestMs = slowestReadMs, g_state->slowestMutant = static_cast<LONG64>(index);
    if (use > static_cast<LONG64>(reader.memoryBound)) {
      ++g_state->counts[kOverMemory];
      char text[64];
      std::snprintf(text, sizeof(text), "%.1f MB", Megabytes(use));
      PrintFinding(reader, options, index, "over memory", text, mutant.description);
    }
    if (slowestReadMs > reader.timeBoundMs) {
      ++g_state->counts[kOverTime];
      char text[64];
      std::snprintf(text, sizeof(text), "%.0f ms of processor time", slowestReadMs);
      PrintFinding(reader, options, index, "over time", text, mutant.description);
    }
  }
  g_state->current = static_cast<LONG64>(end);
  g_state->finished = 1;
  return 0;
}

// ---- Supervisor ------------------------------------------------------------------------------------

HANDLE StartWorker(const Reader& reader, const Options& options, uint64_t first, uint64_t count,
                   const std::wstring& sharedName) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  wchar_t line[1024];
  std::swprintf(line, 1024, L"\"%ls\" --worker %hs --seed %llu --first %llu --count %llu --shared %ls", exe, reader.name,
                static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(count), sharedName.c_str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exe, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return nullptr;
  CloseHandle(info.hThread);
  return info.hProcess;
}

// Runs one reader's mutants through as many workers as it takes; returns its findings.
LONG64 SuperviseReader(const Reader& reader, const Options& options) {
  wchar_t sharedName[96];
  std::swprintf(sharedName, 96, L"Local\\VantryReadersFuzz-%lu-%hs", GetCurrentProcessId(), reader.name);
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedState), sharedName);
  if (mapping == nullptr) return 1;
  SharedState* state = static_cast<SharedState*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedState)));
  ZeroMemory(state, sizeof(*state));
  // The fixtures are made here as in the worker: the mutants a finding names are made again here.
  if (reader.prepare != nullptr) reader.prepare();
  std::vector<std::string> fixtures = reader.fixtures();
  const LONG64 wallStart = Counter();
  const uint64_t end = options.first + options.count;
  uint64_t first = options.first;
  LONG64 lastProgress = wallStart;
  while (first < end) {
    state->current = static_cast<LONG64>(first);
    state->busy = kIdle;
    state->finished = 0;
    state->endedFor = kNotEnded;
    state->exceptionStack[0] = 0;
    ++state->workers;
    HANDLE worker = StartWorker(reader, options, first, end - first, sharedName);
    if (worker == nullptr) {
      Print("reader %s: the worker does not start (%lu)\n", reader.name, GetLastError());
      return 1;
    }
    // The worker watches its own mutants; this only catches one that stops answering at all.
    LONG64 seen = -1;
    double stalledMs = 0;
    while (WaitForSingleObject(worker, 500) == WAIT_TIMEOUT) {
      // A long run says how far it got now and then.
      if (MillisecondsSince(lastProgress) > 60000.0) {
        lastProgress = Counter();
        Print("reader %s: at mutant %lld of %llu after %.0f s\n", reader.name, state->current,
              static_cast<unsigned long long>(end), MillisecondsSince(wallStart) / 1000.0);
      }
      if (state->current != seen) {
        seen = state->current;
        stalledMs = 0;
      } else if ((stalledMs += 500) > HangLimitMs(reader) + 30000.0) {
        state->endedFor = kEndedByTime;
        TerminateProcess(worker, 5);
        WaitForSingleObject(worker, INFINITE);
        break;
      }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(worker, &exitCode);
    CloseHandle(worker);
    if (state->finished) break;
    const uint64_t index = static_cast<uint64_t>(state->current);
    if (index >= end) break;
    const Mutant mutant = MakeMutant(fixtures, options.seed, index);
    char detail[600];
    if (state->endedFor == kEndedByMemory) {
      ++state->counts[kOverMemory];
      ++state->ended;
      std::snprintf(detail, sizeof(detail), "ended past %.0f MB", Megabytes(static_cast<LONG64>(HardMemoryLimit(reader))));
      PrintFinding(reader, options, index, "over memory", detail, mutant.description);
    } else if (state->endedFor == kEndedByTime) {
      ++state->counts[kOverTime];
      ++state->ended;
      std::snprintf(detail, sizeof(detail), "ended past %lu ms of processor time or %lu ms in all",
                    HardTimeLimitMs(reader), HangLimitMs(reader));
      PrintFinding(reader, options, index, "over time", detail, mutant.description);
    } else {
      ++state->counts[kCrashed];
      if (state->endedFor == kEndedByCrash)
        std::snprintf(detail, sizeof(detail), "exception %08lX at%s", state->exceptionCode,
                      const_cast<const char*>(state->exceptionStack));
      else
        std::snprintf(detail, sizeof(detail), "the worker ended with code %lu", exitCode);
      PrintFinding(reader, options, index, "crashed", detail, mutant.description);
    }
    first = index + 1;
  }
  const double wallSeconds = MillisecondsSince(wallStart) / 1000.0;
  const LONG64 mutants = state->counts[kLoaded] + state->counts[kRejected] + state->counts[kCrashed] +
                         state->counts[kUnstable] + state->ended;
  Print("reader %s: %lld mutants (seed %llu, from %llu) in %.1f s, %.0f per second (%.0f per second of reading)\n",
        reader.name, mutants, static_cast<unsigned long long>(options.seed),
        static_cast<unsigned long long>(options.first), wallSeconds, mutants / std::max(wallSeconds, 1e-9),
        mutants / std::max(state->readSeconds, 1e-9));
  Print("  ");
  for (int k = 0; k < kOutcomes; ++k) Print("%s%s %lld", k ? ", " : "", kOutcomeNames[k], state->counts[k]);
  Print("\n  most memory one read used %.1f MB (mutant %lld), slowest read %.0f ms of processor time (mutant %lld), worker peak %.1f MB, %lld worker(s)\n",
        Megabytes(state->largestUse), state->largestUseMutant, state->slowestMs, state->slowestMutant,
        Megabytes(state->workerPeak), state->workers);
  const LONG64 findings = state->counts[kCrashed] + state->counts[kOverMemory] + state->counts[kOverTime] +
                          state->counts[kUnstable];
  UnmapViewOfFile(state);
  CloseHandle(mapping);
  return findings;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  DWORD read = 0;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 30);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    ok = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

// One mutant, or a given file, in this process: a finding's replay.
int Replay(const Reader& reader, const Options& options) {
  if (reader.prepare != nullptr) reader.prepare();
  Mutant mutant;
  int fixture = -1;
  if (!options.inputPath.empty()) {
    if (!ReadWholeFile(options.inputPath, mutant.bytes)) {
      Print("cannot read %s\n", Narrow(options.inputPath).c_str());
      return 2;
    }
    Print("reader %s: %s, %zu bytes\n", reader.name, Narrow(options.inputPath).c_str(), mutant.bytes.size());
  } else {
    mutant = MakeMutant(reader.fixtures(), options.seed, options.replayIndex);
    fixture = static_cast<int>(mutant.fixture);
    Print("reader %s seed %llu mutant %llu: fixture %zu, %zu bytes [%s]\n", reader.name,
          static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.replayIndex),
          mutant.fixture, mutant.bytes.size(), mutant.description.c_str());
  }
  if (!options.writePath.empty() && !WriteWholeFile(options.writePath, mutant.bytes)) {
    Print("cannot write %s\n", Narrow(options.writePath).c_str());
    return 2;
  }
  std::string detail;
  double readMs = 0;
  const LONG64 before = CommittedBytes();
  ReadResult first, second;
  const Outcome outcome = ReadMutant(reader, mutant.bytes, fixture, detail, readMs, first, second);
  // Beside the mutant, what the reader wrote of it and of its own output.
  if (!options.writePath.empty() && first.saved) WriteWholeFile(options.writePath + L".saved1", first.savedBytes);
  if (!options.writePath.empty() && second.saved) WriteWholeFile(options.writePath + L".saved2", second.savedBytes);
  Print("%s in %.1f ms of processor time, %.1f MB more committed after it %s\n", kOutcomeNames[outcome], readMs,
        Megabytes(CommittedBytes() - before), detail.c_str());
  return outcome == kCrashed || outcome == kUnstable ? 1 : 0;
}

// Every fixture unchanged, in this process: each must load and come back the same, or its mutants
// test nothing but the first check that rejects them.
int CheckFixtures(const Reader& reader) {
  if (reader.prepare != nullptr) reader.prepare();
  const std::vector<std::string> fixtures = reader.fixtures();
  int failed = 0;
  for (size_t i = 0; i < fixtures.size(); ++i) {
    std::string detail;
    double readMs = 0;
    ReadResult first, second;
    const Outcome outcome = ReadMutant(reader, fixtures[i], static_cast<int>(i), detail, readMs, first, second);
    Print("reader %s fixture %zu (%zu bytes): %s %s\n", reader.name, i, fixtures[i].size(), kOutcomeNames[outcome],
          detail.c_str());
    if (outcome != kLoaded) ++failed;
  }
  return failed;
}

}  // namespace

int RunReaders(int argc, wchar_t** argv, const std::vector<Reader>& readers) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Print("usage: [--reader NAME]... [--count N] [--seed S] [--first N] | --reader NAME --seed S --replay N [--write FILE]"
          " | --reader NAME --input FILE | [--reader NAME]... --fixtures\nreaders:");
    for (const Reader& reader : readers) Print(" %s", reader.name);
    Print("\n");
    return 2;
  }
  std::vector<const Reader*> chosen;
  for (const std::wstring& name : options.readers) {
    const Reader* reader = FindReader(readers, name);
    if (reader == nullptr) {
      Print("no reader %s\n", Narrow(name).c_str());
      return 2;
    }
    chosen.push_back(reader);
  }
  if (chosen.empty())
    for (const Reader& reader : readers) chosen.push_back(&reader);
  if (options.worker) return RunWorker(*chosen.front(), options);
  if (options.checkFixtures) {
    int failed = 0;
    for (const Reader* reader : chosen) failed += CheckFixtures(*reader);
    return failed == 0 ? 0 : 1;
  }
  if (options.replay) return Replay(*chosen.front(), options);
  LONG64 findings = 0;
  for (const Reader* reader : chosen) findings += SuperviseReader(*reader, options);
  Print("%lld finding(s)\n", findings);
  return findings == 0 ? 0 : 1;
}

}  // namespace fuzz
