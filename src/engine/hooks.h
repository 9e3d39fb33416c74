// What the run drivers ask of the windows above the engine, through hooks the main window installs
// (InstallWindowHooks).
#pragma once

#include <QString>

#include "platform/hooks.h"
#include "platform/textbuffer.h"

namespace tavo {

inline Hook<void()> ShowSeriesResultsHook;  // the series results window opens without modality

// ---- the report window, which keeps the report's text (see the procedures of informe.h) ----
inline Hook<QString()> ReportTextHook;                  // its text; the window comes into existence
inline Hook<const TextBuffer*()> ReportTextBufferHook;  // the same text as bytes
inline Hook<void(const QString&)> SetReportTextHook;    // replaces its text
inline Hook<void(const QString&)> AppendToReportHook;   // appends to its text
inline Hook<void()> ShowReportWindowHook;               // shows it without modality
inline Hook<void()> RepaintReportWindowHook;            // paints it at once
inline Hook<void()> MuestraPizarraHook;                 // shows TextoProceso

// ---- the progress window of a series (see the procedures of proceso.h) ----
inline Hook<void()> AbreProgresoSerieHook;
inline Hook<void(const QString&, const QString&)> ProgresoTormentaHook;
inline Hook<void(int)> ProgresoPorcentajeHook;
inline Hook<void()> CierraProgresoSerieHook;

}  // namespace tavo
