#include "BenchReport.h"

#include <cstdio>

void BenchReport::line(const QString &name, double oursMs, double rawMs)
{
    std::printf("%s ours=%.1f raw=%.1f ratio=%.2f\n", qPrintable(name), oursMs, rawMs, rawMs > 0 ? oursMs / rawMs : 0.0);
    std::fflush(stdout);
}

void BenchReport::value(const QString &name, double ours, const QString &unit)
{
    std::printf("%s ours=%.1f%s raw=- ratio=-\n", qPrintable(name), ours, qPrintable(unit == QLatin1String("ms") ? QString() : unit));
    std::fflush(stdout);
}

void BenchReport::line(const QString &name, double oursMs, double rawMs, const QString &note)
{
    std::printf("%s ours=%.1f raw=%.1f ratio=%.2f %s\n", qPrintable(name), oursMs, rawMs,
                rawMs > 0 ? oursMs / rawMs : 0.0, qPrintable(note));
    std::fflush(stdout);
}

void BenchReport::layered(const QString &name, double oursMs, double layerMs, double rawMs, const QString &note)
{
    std::printf("%s ours=%.1f layer=%.1f raw=%.1f ratio=%.2f%s%s\n", qPrintable(name), oursMs, layerMs, rawMs,
                rawMs > 0 ? oursMs / rawMs : 0.0, note.isEmpty() ? "" : " ", qPrintable(note));
    std::fflush(stdout);
}
