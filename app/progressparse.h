#pragma once
// Reads the encoder's progress out of one console record: the value written after "time".

#include <QString>
#include <optional>

// Seconds written so far as one record states them, or nothing when the record holds no progress.
// The value starts five characters after the first "time" and ends at the next blank (or at the
// end of the record, which is a whole line); it counts when it reads as a decimal number ("12.5")
// or as a time text ("00:00:12.50"). Texts such as "N/A" or a date yield nothing.
std::optional<double> ProgressSeconds(const QString& record);
