#include "core/product_address.h"

#ifndef TAVIX_WEB_ADDRESS
#error "TAVIX_WEB_ADDRESS is set by the build (CMakeLists.txt)"
#endif

const char* ProductWebAddress() {
    return TAVIX_WEB_ADDRESS;
}
