#pragma once
// Learning a source file's length and frame size from the encoder's report on it.

#include <QString>

struct ProbeResult {
    QString LengthText; // as cut out of the "Duration" line, e.g. "00:00:10.00"; empty when unknown
    QString SizeText;   // as cut out of the "Video" line, e.g. " 320x240 [SAR 1:1 DAR 4:3]"
};

// Cuts length and size out of the whole console text of a probe of path.
ProbeResult ParseProbeText(const QString& text, const QString& path);

// Probes path with the encoder (" -i path") and waits for it; a probe that does not end within
// timeoutMs is stopped and yields empty fields, as does an encoder that cannot be started.
ProbeResult ProbeFile(const QString& encoderPath, const QString& path, int timeoutMs = 30000);
