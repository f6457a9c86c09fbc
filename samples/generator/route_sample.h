// The drawings of the route samples, built into a database (which must be the working
// database while they are built).
#pragma once

class AcDbDatabase;

namespace kz::samples {

// The bundled sample drawing (samples/route-sample.dxf).
void drawRouteSample(AcDbDatabase& db);
// A straight pipe run of n 2000-unit pipes joined end to end along +X from the origin,
// each linked as a piping element: a pick of all of them makes n dimensions.
void drawPipeRun(AcDbDatabase& db, int n);

} // namespace kz::samples
