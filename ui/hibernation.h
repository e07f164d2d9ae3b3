// Switching hibernation: the system's power configuration tool, and what to tell the user.
#pragma once

#include <string>

#include "system/command.h"

// Runs the system's own powercfg.exe with "-h off" or "-h on", hidden, and waits for its answer
// through `wait`.
sys::CommandResult SwitchHibernation(bool on, const sys::Waiter& wait);

// The message for the user: success only when the command ended with exit code 0.
std::wstring HibernationReport(const sys::CommandResult& result, bool elevated);
