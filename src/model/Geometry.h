#pragma once
// Plain points and sizes in doubles for model and engine code, which stays
// free of Qt. What the units and the origin are is said where they are used.

namespace vt {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace vt
