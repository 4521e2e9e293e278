// The frei0r plug-in file of one filter, TINTORA_VIDEO_FILTER: every call goes
// on to tintora.so, which lies beside it.

#include "video/Frei0rFilters.h"

#ifndef TINTORA_VIDEO_FILTER
#error "TINTORA_VIDEO_FILTER names the filter this plug-in file is for"
#endif

extern "C" {

TINTORA_VIDEO_EXPORT int f0r_init() { return 1; }

TINTORA_VIDEO_EXPORT void f0r_deinit() {}

TINTORA_VIDEO_EXPORT void f0r_get_plugin_info(f0r_plugin_info_t* info) {
    video::frei0r::GetPluginInfo(TINTORA_VIDEO_FILTER, info);
}

TINTORA_VIDEO_EXPORT void f0r_get_param_info(f0r_param_info_t* info, int param_index) {
    video::frei0r::GetParamInfo(TINTORA_VIDEO_FILTER, info, param_index);
}

TINTORA_VIDEO_EXPORT f0r_instance_t f0r_construct(unsigned int width, unsigned int height) {
    return video::frei0r::Construct(TINTORA_VIDEO_FILTER, width, height);
}

TINTORA_VIDEO_EXPORT void f0r_destruct(f0r_instance_t instance) {
    video::frei0r::Destruct(instance);
}

TINTORA_VIDEO_EXPORT void f0r_set_param_value(f0r_instance_t instance, f0r_param_t param,
                                              int param_index) {
    video::frei0r::SetParamValue(instance, param, param_index);
}

TINTORA_VIDEO_EXPORT void f0r_get_param_value(f0r_instance_t instance, f0r_param_t param,
                                              int param_index) {
    video::frei0r::GetParamValue(instance, param, param_index);
}

TINTORA_VIDEO_EXPORT void f0r_update(f0r_instance_t instance, double, const uint32_t* inframe,
                                     uint32_t* outframe) {
    video::frei0r::Update(instance, inframe, outframe);
}

}  // extern "C"
