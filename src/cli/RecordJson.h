#pragma once
// The records as JSON objects whose keys are the records' field names; texts as UTF-8.

#include "cli/JsonWriter.h"
#include "photometry/RefLuminaria.h"
#include "project/ProjectDocument.h"

namespace lumivar::cli {

void WriteJson(JsonWriter& w, const TDadosLuminaria& d);
void WriteJson(JsonWriter& w, const TCustosLuminaria& c);
// Data, Intensities, GammaCount, CPlaneCount, UGRTable, Costs and Quantity.
void WriteJson(JsonWriter& w, const TRefLuminaria& r);
void WriteJson(JsonWriter& w, const TResultadosCalculo& r);
void WriteJson(JsonWriter& w, const TDadosProjecto& p);
void WriteJson(JsonWriter& w, const TPaginaRelatorio& p);
void WriteJson(JsonWriter& w, const TOpcoesRelatorio& o);
void WriteJson(JsonWriter& w, const ProjectDocument& doc);

} // namespace lumivar::cli
