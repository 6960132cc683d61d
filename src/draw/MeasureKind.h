#pragma once

#include <cstdint>

// What a measurement measures; the numbers are the kinds' own codes.
enum class MeasureKind : int32_t {
    Calibration = 0,
    StraightLine = 1,
    ThreePointAngle = 6,
    ThreePointCircle = 7,
    ThreePointArc = 8,
    FourPointAngle = 9,
    ContinuousLine = 10,
    Polygon = 11,
    RadiusCircle = 12,
    DiameterCircle = 13,
};

// Where a continuous line or polygon stands; its drawing depends on it.
enum class PolylinePhase : int32_t {
    FirstVertex = 0,  // one vertex placed, the first segment follows the pointer
    LabelPlaced = 1,  // a segment's label placed, the next segment follows
    SegmentFixed = 2, // a vertex placed, its segment's label follows the pointer
    ListEnded = 3,    // no more vertices: the first final label follows
    FirstFinalPlaced = 4,
    Done = 5,
};

// The parts of a continuous line or polygon, in drawing order: what stays as
// it is from one placed point to the next, and what follows the pointer.
// Other kinds draw whole whatever the parts asked for.
enum MeasurePart : unsigned {
    PlacedLines = 1,
    PointerLines = 2,
    PlacedLabels = 4,
    PointerLabels = 8,
    AllParts = 15,
};
