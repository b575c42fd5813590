#pragma once
// The run's clock: elapsed seconds counted in one-second ticks and the remaining time estimated
// from the total progress.

#include <QtGlobal>

class RunTiming {
public:
    // Both counters back to 0, as at the start of a run.
    void reset();
    // One tick of the run's one-second timer, with the total progress (0..100) at that moment.
    // While the progress is 0 the estimate keeps its last value.
    void tick(int totalPercent);

    qint64 elapsed() const { return elapsed_; }
    qint64 remaining() const { return remaining_; }

private:
    qint64 elapsed_ = 0;
    qint64 remaining_ = 0;
};
