#pragma once
// The two texts of the about box, from the version information of the module
// file: "Tintora v" and its FileVersion with ", " turned into ".", else
// "Tintora v7.2"; its LegalCopyright, else the fixed copyright line.

#include <string>

struct AboutLabels {
    std::string product;
    std::string copyright;
};

inline constexpr const char* kFallbackProduct = "Tintora v7.2";
inline constexpr const char* kFallbackCopyright = "Copyright (C) Pellux";

AboutLabels ReadAboutLabels(const std::string& modulePath);
