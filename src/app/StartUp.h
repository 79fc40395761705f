// The program's start-up and shut-down sequences: the entry calls ProgramStartUp first
// and ProgramShutDown after the message loop. Objects are created here in order and
// freed in the reverse order.
#pragma once

void ProgramStartUp();
// Never throws: a failure while freeing is dropped.
void ProgramShutDown() noexcept;
