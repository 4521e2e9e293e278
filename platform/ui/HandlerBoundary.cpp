#include "platform/ui/HandlerBoundary.h"

#include <exception>
#include <new>

#include "platform/prompts/Prompts.h"
#include "platform/ui/DataExchange.h"

bool RunHandler(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const CUserException&) {
        // The field exchange has shown its message already.
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of Memory", MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::exception& e) {
        // A dispatch exception's text is its description, or the failure's own text.
        AfxMessageBox(e.what(), MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        AfxMessageBox(kUnknownFailureText, MB_OK | MB_ICONEXCLAMATION);
    }
    return false;
}
