// A system table for the tests: passes every call on to the real one,
// records each call's name, and fails the one chosen with a chosen error.
#ifndef TOLLIVEX_TESTS_IO_FAILING_SYSTEM_H_
#define TOLLIVEX_TESTS_IO_FAILING_SYSTEM_H_

#include <string>
#include <vector>

#include "io/system.h"

// The table; every entry goes through the choice below.
const System& failingSystem();

// From now on, records the calls made through the table, and fails the
// occurrence-th call (from 1) named call with error; none when call is
// empty.
void failCall(const std::string& call, int occurrence, int error);

// From now on, fails every openat of name (of every name that starts so,
// when name ends in '*') with error, unless it opens the name only to look
// (O_PATH), as the system does for a directory or file this user may not
// read or write; none when name is empty.  The tests run as root, whom the
// system never refuses.
void denyOpen(const std::string& name, int error);

// The calls recorded since the last failCall, in the order they were made
// ("pwrite", "close", ...), the failed one included.
std::vector<std::string> recordedCalls();

#endif  // TOLLIVEX_TESTS_IO_FAILING_SYSTEM_H_
