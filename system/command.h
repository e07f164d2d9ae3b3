// Runs a console program hidden and collects what it says, without blocking the caller's
// windows: the wait goes through a caller-supplied waiter that keeps their messages flowing.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>

namespace sys {

struct CommandResult {
  enum class Outcome { Finished, NotStarted, TimedOut };
  Outcome outcome = Outcome::NotStarted;
  DWORD exitCode = 0;    // Finished
  DWORD startError = 0;  // NotStarted: the error CreateProcessW gave
  std::wstring output;   // standard output and standard error, in the order written
};

// Waits until one of `handles` is signalled (returns WAIT_OBJECT_0 + index), `timeoutMs` passes
// (WAIT_TIMEOUT) or the wait must end early (WAIT_FAILED), like WaitForMultipleObjects.
using Waiter = std::function<DWORD(std::span<const HANDLE> handles, DWORD timeoutMs)>;

// Starts `program` (a full path) with `arguments`, hidden: no console window, no inherited handle
// but its own standard handles. Waits at most `timeoutMs` for it to end; a program that does not
// end in time is left running.
CommandResult RunHidden(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs,
                        const Waiter& wait);

// Text that a console program wrote: UTF-16 with a byte-order mark, UTF-8, or else the OEM code
// page that console programs write in.
std::wstring DecodeConsoleOutput(const std::string& bytes);

}  // namespace sys
