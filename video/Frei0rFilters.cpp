#include "video/Frei0rFilters.h"

#include <cstdio>
#include <limits>

#include "video/FilterInstance.h"

namespace video::frei0r {

namespace {

// A filter instance, and whether its failure has been told: a failing effect
// fails on every frame, and once is enough.
struct Instance {
    FilterInstance filter;
    bool failureTold = false;
};

Instance* From(f0r_instance_t instance) { return static_cast<Instance*>(instance); }

const FilterParam* ParamOf(const VideoFilter& filter, int index) {
    if (index < 0 || size_t(index) >= filter.params.size()) return nullptr;
    return &filter.params[size_t(index)];
}

}  // namespace

void GetPluginInfo(const char* filterName, f0r_plugin_info_t* info) {
    const VideoFilter* filter = FindVideoFilter(filterName);
    info->name = filterName;
    info->author = "Tintora";
    info->plugin_type = F0R_PLUGIN_TYPE_FILTER;
    info->color_model = F0R_COLOR_MODEL_BGRA8888;
    info->frei0r_version = FREI0R_MAJOR_VERSION;
    info->major_version = TINTORA_VERSION_MAJOR;
    info->minor_version = TINTORA_VERSION_MINOR;
    info->num_params = filter ? int(filter->params.size()) : 0;
    info->explanation = filter ? filter->explanation : "";
}

void GetParamInfo(const char* filterName, f0r_param_info_t* info, int index) {
    const VideoFilter* filter = FindVideoFilter(filterName);
    const FilterParam* param = filter ? ParamOf(*filter, index) : nullptr;
    if (!param) return;
    info->name = param->name;
    info->type = param->kind == ParamKind::Color ? F0R_PARAM_COLOR : F0R_PARAM_DOUBLE;
    info->explanation = param->explanation;
}

f0r_instance_t Construct(const char* filterName, unsigned width, unsigned height) {
    const VideoFilter* filter = FindVideoFilter(filterName);
    constexpr unsigned kMaxSide = std::numeric_limits<int32_t>::max();
    if (!filter || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        return nullptr;
    }
    return new Instance{FilterInstance(*filter, int32_t(width), int32_t(height))};
}

void Destruct(f0r_instance_t instance) { delete From(instance); }

void SetParamValue(f0r_instance_t instance, f0r_param_t param, int index) {
    FilterInstance& filter = From(instance)->filter;
    const FilterParam* info = ParamOf(filter.Filter(), index);
    if (!info) return;
    if (info->kind == ParamKind::Color) {
        const auto* color = static_cast<const f0r_param_color_t*>(param);
        filter.SetColor({color->r, color->g, color->b});
    } else {
        filter.SetNumber(index, *static_cast<const f0r_param_double*>(param));
    }
}

void GetParamValue(f0r_instance_t instance, f0r_param_t param, int index) {
    const FilterInstance& filter = From(instance)->filter;
    const FilterParam* info = ParamOf(filter.Filter(), index);
    if (!info) return;
    if (info->kind == ParamKind::Color) {
        const auto [red, green, blue] = filter.Color();
        *static_cast<f0r_param_color_t*>(param) = {float(red), float(green), float(blue)};
    } else {
        *static_cast<f0r_param_double*>(param) = filter.Number(index);
    }
}

void Update(f0r_instance_t instance, const uint32_t* in, uint32_t* out) {
    Instance& self = *From(instance);
    const engine::Result<> rendered =
        self.filter.Render(reinterpret_cast<const uint8_t*>(in), reinterpret_cast<uint8_t*>(out));
    if (!rendered && !self.failureTold) {
        self.failureTold = true;
        std::fprintf(stderr, "%s: %s; frames pass through unchanged\n", self.filter.Filter().name,
                     rendered.Error().c_str());
    }
}

}  // namespace video::frei0r
