#include "control/module/PropertyPageWindows.h"

#include "control/ModuleIds.h"

DialogTemplate PropertyPageTemplate(UINT idTemplate) {
    DialogTemplate t;
    t.id = int(idTemplate);
    t.cx = COlePropertyPage::kDefaultSize.cx;
    t.cy = COlePropertyPage::kDefaultSize.cy;
    t.style = DS_SETFONT | WS_CHILD;
    const char* text = idTemplate == IDD_PROPPAGE_RASTEL
                           ? "The Rastel Control has no properties to set."
                           : "The RastelEditor control has no properties to set.";
    t.items = {rc::LText(text, rc::kNoId, 10, 10, 230, 16)};
    return t;
}

std::unique_ptr<CDialog> CreatePropertyPageWindow(const COlePropertyPage& page, CWnd* pParent) {
    DialogTemplate t = PropertyPageTemplate(page.TemplateID());
    t.caption = page.GetCaption();
    // Shown on its own, a page gets the frame that a property sheet would give it.
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return std::make_unique<CDialog>(t, pParent);
}
