// Turning the signals that ask a program to end (SIGINT, SIGTERM, SIGHUP) into a
// recorded request while work that must clean up after itself is under way.
#pragma once

namespace platform {

// While a guard lives, those of SIGINT, SIGTERM and SIGHUP that were not ignored
// when the outermost guard began no longer end the process: the first one received
// is recorded and a descriptor becomes readable, so that code waiting for a child
// can end the child, remove its files and fail. Guards nest; the outermost restores
// the previous handlers. A signal received under a guard is not delivered again
// afterwards: the guarded code has turned it into a failure.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  // The signal received under the current guards, or 0.
  static int Received();
  // A descriptor that polls readable once a signal was received; -1 when no guard
  // is active.
  static int WakeDescriptor();
};

}  // namespace platform
