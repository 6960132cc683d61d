#pragma once

#include <cstdint>

// The tool mode is the menu command id of the chosen tool; the window passes
// its menu ids through unchanged, so the values are those ids.
enum class ToolMode : int32_t {
    ToolNone = 0,
    ToolThreePointCircle = 32799,
    ToolThreePointArc = 32800,
    ToolThreePointAngle = 32801,
    ToolFourPointAngle = 32802,
    ToolLine = 32803,
    ToolArrow = 32804,
    ToolFreehand = 32805,
    ToolRectangle = 32806,
    ToolEllipse = 32807,
    ToolContinuousLine = 32809,
    ToolPolygon = 32810,
    ToolRadiusCircle = 32811,
    ToolDiameterCircle = 32812,
    ToolCalibration = 32814,
    ToolAnyAngleLine = 32874,
    ToolStraightAngleLine = 32875,
    ToolFortyFiveLine = 32876,
    ToolText = 33200,
};

// The state of the mouse protocol while an object is being made.
enum class InteractionState : int32_t {
    StateIdle = 0,
    StateStroke = 5,
    StateShapeStarted = 6,
    StateTyping = 8,
    StateFirstOfTwo = 10,
    StateOnePointPlaced = 11,
    StateTwoPointsPlaced = 12,
    StateThreePointsPlaced = 13,
    StatePolylineVertex = 16,
    StatePlacingLabel = 17,
    StatePolylineLabel = 18,
    StateComplete = 19,
    StateDragging = 20,
};
