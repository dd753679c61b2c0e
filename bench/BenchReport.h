#pragma once

#include <QString>

// One line per measured path: "NAME ours=<ms> raw=<ms> ratio=<x>", ours measured through the program's
// layers and raw through the database's own tools or the bare client layer in the same run.
class BenchReport
{
public:
    // "NAME ours=<ms> layer=<ms> raw=<ms> ratio=<x>": a path measured through the program's layers, the
    // bare client layer and the engine's own interface; the ratio is ours against raw.
    static void layered(const QString &name, double oursMs, double layerMs, double rawMs, const QString &note = {});
    static void line(const QString &name, double oursMs, double rawMs);
    // The same with a note after the numbers ("pages=180").
    static void line(const QString &name, double oursMs, double rawMs, const QString &note);
    // A measurement with no raw counterpart (raw and ratio print as "-").
    static void value(const QString &name, double ours, const QString &unit = QStringLiteral("ms"));
};
