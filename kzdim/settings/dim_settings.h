// The thirteen values every route dimension is drawn with, and where they are kept:
// the configuration store (per user, read and written through the host add-in's ini
// file) and the product's shared settings file KzConfig.ini (read only).
#pragma once

#include "frame/platform.h"

struct DimSettings {
    double overlapSpacing; // distance between stacked dimension lines
    double textHeight;
    double arrowSize;
    double textGap;       // between dimension line and text
    double extLineOffset; // between the route and the extension lines
    int dimLineColor;     // colour indices: 0 by block, 1-255, 256 by layer
    int extLineColor;
    int textColor;
    double textWidthFactor;
    double extLineLength; // used when extLineFixed is 1
    int arrowType;        // position in the arrowhead list
    int textDirection;    // position in the text direction list (= DIMTAD)
    int extLineFixed;     // 1: extension lines have the fixed length extLineLength
};

// True when all thirteen keys were found in the shared settings file; the fields read
// before a missing key keep their new values, the rest are untouched.
bool ReadSharedSettings(DimSettings& settings);
// True when all thirteen keys were found in the configuration store; same rule.
bool ReadStoredSettings(DimSettings& settings);
// Writes all thirteen keys to the configuration store.
void WriteStoredSettings(const DimSettings& settings);

// The two commands that load settings each have their own defaults and sequence.
void LoadSettingsForConfig(DimSettings& settings); // KZ_DIM_CONFIG
void LoadSettingsForMake(DimSettings& settings);   // KZ_DIM_MAKE

// Creates or updates the text style DimStyle; returns 0.
int SetUpDimTextStyle();
// The id of the text style DimStyle, left null when the drawing has none; returns 0.
int FindDimTextStyle(AcDbObjectId& styleId);
