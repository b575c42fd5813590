#include "app/runtiming.h"

#include "app/tasktext.h"

void RunTiming::reset() {
    elapsed_ = 0;
    remaining_ = 0;
}

void RunTiming::tick(int totalPercent) {
    ++elapsed_;
    if (totalPercent != 0) {
        const double e = double(elapsed_);
        remaining_ = RoundHalfEven(e / (totalPercent / 100.0) - e);
    }
}
