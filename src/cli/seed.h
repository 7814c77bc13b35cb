// The seed of the fill: SOURCE_DATE_EPOCH when set, else the clock.
#ifndef TOLLIVEX_CLI_SEED_H_
#define TOLLIVEX_CLI_SEED_H_

#include <cstdint>
#include <ctime>

// Sets *seed from sourceDateEpoch (the variable's value, or null when it is
// unset) or, when that is null or empty, from now; either is taken modulo
// 2^32.  The value must be decimal digits only, at most 9223372036854775807;
// for anything else returns false and leaves *seed alone.
bool fillSeed(const char* sourceDateEpoch, time_t now, uint32_t* seed);

#endif  // TOLLIVEX_CLI_SEED_H_
