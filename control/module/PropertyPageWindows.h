#pragma once
// The windows of the two property pages: dialog templates 200 and 201 with
// the page's caption. The pages exchange no fields.

#include <memory>

#include "platform/olectl/COlePropertyPage.h"
#include "platform/ui/CDialog.h"

DialogTemplate PropertyPageTemplate(UINT idTemplate);

// The page's window, with the caption from the page's string.
std::unique_ptr<CDialog> CreatePropertyPageWindow(const COlePropertyPage& page,
                                                  CWnd* pParent = nullptr);
