// The two process-wide fixed regions and their reset.
#include <cstring>
#include <initializer_list>

#include "srec/srec.h"

FixedRegion securityRegion = {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                              0,
                              0};
FixedRegion blankRegion = securityRegion;

void resetFixedRegions() {
  for (FixedRegion* region : {&securityRegion, &blankRegion}) {
    memset(region->content, 0xFF, sizeof region->content);
    region->start = 0;
    region->length = 0;
  }
}
