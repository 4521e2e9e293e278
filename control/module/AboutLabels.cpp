#include "control/module/AboutLabels.h"

#include <vector>

#include "platform/com/VersionInfo.h"

namespace {

std::string VersionString(const std::vector<char>& block, const char* path) {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValue(block.data(), path, &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const char*>(value);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

AboutLabels ReadAboutLabels(const std::string& modulePath) {
    std::vector<char> block;
    DWORD handle = 0;
    if (const DWORD size = GetFileVersionInfoSize(modulePath.c_str(), &handle); size > 0) {
        block.resize(size);
        if (!GetFileVersionInfo(modulePath.c_str(), handle, size, block.data())) block.clear();
    }

    AboutLabels labels;
    if (std::string version = VersionString(block, "\\StringFileInfo\\040904b0\\FileVersion");
        !version.empty()) {
        labels.product = "Tintora v" + version;
    }
    labels.copyright = VersionString(block, "\\StringFileInfo\\040904b0\\LegalCopyright");

    labels.product =
        labels.product.empty() ? kFallbackProduct : ReplaceAll(labels.product, ", ", ".");
    if (labels.copyright.empty()) labels.copyright = kFallbackCopyright;
    return labels;
}
