// Progress of a long run, shown on the terminal's status line.
#include "cli/progress.h"

#include <cstdio>
#include <ctime>

#include "cli/status_line.h"

namespace {

double now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void draw(Progress* progress, double at) {
  const double mib = 1024.0 * 1024.0;
  double elapsed = at - progress->started;
  char text[96];
  snprintf(
      text, sizeof text, "%3d%%  %.0f of %.0f MiB  %.1f MiB/s",
      static_cast<int>(100 * progress->done / progress->total),
      static_cast<double>(progress->done) / mib,
      static_cast<double>(progress->total) / mib,
      elapsed > 0 ? static_cast<double>(progress->done) / mib / elapsed : 0.0);
  drawStatusLine(text);
  progress->drawn = at;
}

}  // namespace

Progress startProgress(uint64_t total, const System& sys) {
  Progress progress{total > kProgressThreshold && statusLineAllowed(sys), total,
                    0, now(), 0};
  if (progress.shown) draw(&progress, progress.started);
  return progress;
}

void advanceProgress(Progress* progress, uint64_t bytes) {
  progress->done += bytes;
  if (!progress->shown) return;
  double at = now();
  if (at - progress->drawn >= 0.1) draw(progress, at);
}

void endProgress(Progress* progress) {
  if (progress->shown) eraseStatusLine();
}
