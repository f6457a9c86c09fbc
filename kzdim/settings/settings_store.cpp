// Reading and writing the thirteen settings. The section and key names come from the
// string table, so the string table is part of the stored format.
#include "settings/dim_settings.h"

#include "frame/module_state.h"
#include "res/resource.h"

#include <cmath>

namespace {

enum class Format { Real, Index, OneDecimal, Flag };

// One setting: its key string, its field, how it is written.
struct SettingKey {
    UINT keyId;
    Format format;
    double DimSettings::*real;
    int DimSettings::*integer;
};

// The order in which both readers take the keys.
const SettingKey kReadOrder[] = {
    {IDS_KEY_OVERLAP_SPACING, Format::Real, &DimSettings::overlapSpacing, nullptr},
    {IDS_KEY_TEXT_HEIGHT, Format::Real, &DimSettings::textHeight, nullptr},
    {IDS_KEY_ARROW_SIZE, Format::Real, &DimSettings::arrowSize, nullptr},
    {IDS_KEY_TEXT_GAP, Format::Real, &DimSettings::textGap, nullptr},
    {IDS_KEY_EXTLINE_OFFSET, Format::Real, &DimSettings::extLineOffset, nullptr},
    {IDS_KEY_DIMLINE_COLOR, Format::Index, nullptr, &DimSettings::dimLineColor},
    {IDS_KEY_EXTLINE_COLOR, Format::Index, nullptr, &DimSettings::extLineColor},
    {IDS_KEY_TEXT_COLOR, Format::Index, nullptr, &DimSettings::textColor},
    {IDS_KEY_WIDTH_FACTOR, Format::OneDecimal, &DimSettings::textWidthFactor, nullptr},
    {IDS_KEY_ARROW_TYPE, Format::Index, nullptr, &DimSettings::arrowType},
    {IDS_KEY_TEXT_DIRECTION, Format::Index, nullptr, &DimSettings::textDirection},
    {IDS_KEY_EXTLINE_FIXED, Format::Flag, nullptr, &DimSettings::extLineFixed},
    {IDS_KEY_EXTLINE_LENGTH, Format::OneDecimal, &DimSettings::extLineLength, nullptr},
};

// The writer takes the arrow type before the width factor.
const int kWriteOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 8, 10, 11, 12};

// A value from the configuration store: reals through ApiComn_atof, integers through
// _wtoi. A damaged file's "1e999" or "nan" leaves the value as it was: sizes that are
// not finite would make dimensions that cannot be drawn or saved.
void StoreValueInto(const SettingKey& key, const CString& text, DimSettings& s) {
    if (key.real) {
        double v = ApiComn_atof(text);
        if (std::isfinite(v))
            s.*key.real = v;
    } else {
        s.*key.integer = _wtoi(text);
    }
}

// A value from the shared file: everything through ApiComn_atof, integers truncated
// toward zero; a value that is not finite, or out of the integers' range, is skipped.
void SharedValueInto(const SettingKey& key, const CString& text, DimSettings& s) {
    double v = ApiComn_atof(text);
    if (!std::isfinite(v))
        return;
    if (key.real)
        s.*key.real = v;
    else if (v > -2147483649.0 && v < 2147483648.0)
        s.*key.integer = static_cast<int>(v);
}

CString FormatValue(const SettingKey& key, const DimSettings& s) {
    CString text;
    switch (key.format) {
    case Format::Real:
        text.Format(L"%.*g", 15, s.*key.real);
        break;
    case Format::OneDecimal:
        text.Format(L"%.1f", s.*key.real);
        break;
    case Format::Index:
        text.Format(L"%d", s.*key.integer);
        break;
    case Format::Flag:
        text = s.*key.integer == 1 ? L"1" : L"0";
        break;
    }
    return text;
}

CString SharedSettingsPath() {
    wchar_t folder[512] = {};
    ApiComn_GetEnv(folder, 1, KzModule().iniPath, L"環境設定", L"ｼｽﾃﾑ");
    CString path;
    path.Format(L"%s\\KzConfig.ini", folder);
    return path;
}

} // namespace

bool ReadSharedSettings(DimSettings& settings) {
    CString path = SharedSettingsPath();
    CString section = LoadKzString(IDS_SECTION_DIMENSION);
    for (const SettingKey& key : kReadOrder) {
        CString name = LoadKzString(key.keyId);
        CString value = DeZeza_GetEnv(path, section, name);
        if (value.IsEmpty())
            return false;
        SharedValueInto(key, value, settings);
    }
    return true;
}

bool ReadStoredSettings(DimSettings& settings) {
    CString section = LoadKzString(IDS_SECTION_DIMENSION);
    for (const SettingKey& key : kReadOrder) {
        CString name = LoadKzString(key.keyId);
        CString value;
        if (DeZeza_readConfig(value, KzModule().iniPath, section, name) != 0)
            return false;
        StoreValueInto(key, value, settings);
    }
    return true;
}

void WriteStoredSettings(const DimSettings& settings) {
    CString section = LoadKzString(IDS_SECTION_DIMENSION);
    for (int index : kWriteOrder) {
        const SettingKey& key = kReadOrder[index];
        CString name = LoadKzString(key.keyId);
        DeZeza_writeConfig(section, name, FormatValue(key, settings), KzModule().iniPath);
    }
}

namespace {

void SetCommonDefaults(DimSettings& s) {
    s.overlapSpacing = 7.0;
    s.arrowSize = 1.5;
    s.textGap = 1.0;
    s.extLineOffset = 2.0;
    s.dimLineColor = 256;
    s.extLineColor = 256;
    s.textColor = 256;
}

} // namespace

void LoadSettingsForConfig(DimSettings& settings) {
    // The one field without a default of its own starts as the other command has it.
    settings.extLineFixed = 0;
    if (!ReadSharedSettings(settings)) {
        SetCommonDefaults(settings);
        settings.textHeight = 2.0;
        settings.textWidthFactor = 0.8;
        settings.extLineLength = 10.0;
        settings.arrowType = 1;
        settings.textDirection = 0;
    }
    if (!ReadStoredSettings(settings))
        WriteStoredSettings(settings);
}

void LoadSettingsForMake(DimSettings& settings) {
    SetCommonDefaults(settings);
    settings.textHeight = 0.8;
    settings.arrowType = 4;
    settings.textDirection = 1;
    settings.extLineFixed = 0;
    // The two fields without a default of their own start as the other command has them.
    settings.textWidthFactor = 0.8;
    settings.extLineLength = 10.0;
    if (!ReadStoredSettings(settings))
        WriteStoredSettings(settings);
}
