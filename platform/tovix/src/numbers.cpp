#include "ApiComn.h"

#include <numbers>

double ApiComn_ConvToAngle(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

double ApiComn_ConvToRadian(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

double ApiComn_atof(const wchar_t* text) {
    return text ? _wtof(text) : 0.0;
}
