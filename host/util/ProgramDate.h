#pragma once

// The host's program date: the date the accounts work to, which the user may set away from
// today. Everything that needs "today" asks for it here, never the clock.

#include <cstdint>

// The program date as a date number. Until one is set it is today's date from the local clock,
// read at first use and kept (a session running past midnight keeps its date). Thread-safe.
std::uint16_t GetProgramDate();

// Sets the program date. 0 forgets it, so the next GetProgramDate reads the clock again.
void SetProgramDate(std::uint16_t date);
