#pragma once
// The frei0r calls of every filter, by the filter's name. tintora.so holds
// them; video tools load a frei0r filter by its file's name, so each filter has
// a small plug-in file of its own that hands its calls on to these.

// The header declares the plug-in's functions without C linkage of its own.
extern "C" {
#include <frei0r.h>
}

#define TINTORA_VIDEO_EXPORT [[gnu::visibility("default")]]

namespace video::frei0r {

TINTORA_VIDEO_EXPORT void GetPluginInfo(const char* filterName, f0r_plugin_info_t* info);
TINTORA_VIDEO_EXPORT void GetParamInfo(const char* filterName, f0r_param_info_t* info, int index);
// Null for an unknown filter or a size no frame can have.
TINTORA_VIDEO_EXPORT f0r_instance_t Construct(const char* filterName, unsigned width,
                                              unsigned height);
TINTORA_VIDEO_EXPORT void Destruct(f0r_instance_t instance);
TINTORA_VIDEO_EXPORT void SetParamValue(f0r_instance_t instance, f0r_param_t param, int index);
TINTORA_VIDEO_EXPORT void GetParamValue(f0r_instance_t instance, f0r_param_t param, int index);
TINTORA_VIDEO_EXPORT void Update(f0r_instance_t instance, const uint32_t* in, uint32_t* out);

}  // namespace video::frei0r
