// What a page costs the viewer, measured on the document Qt builds from it, so that the
// measure and the layout read the page alike.
#pragma once

#include <QString>

#include "HelpContents.h"

class QTextDocument;

namespace dorvane::helpviewer {

// Measures a page before it is shown: its size and the number of its tags first, from the
// text (every element Qt can make from a page starts at a '<', whatever it makes of it, so
// this bounds the work of reading it), then, on the document Qt reads from it, the nesting of
// frames and lists, the tables inside tables, their cells, the items of its lists and its
// longest word. Nothing the page names is loaded.
PageCost MeasurePage(const QString& html, const PageLimits& limits = {});

// The document part of the measure alone.
PageCost MeasureDocument(const QTextDocument& document, const PageLimits& limits = {});

}  // namespace dorvane::helpviewer
