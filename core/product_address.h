#pragma once
// The product's web address, which the publisher sets when building (the
// CMake cache variable TAVIX_WEB_ADDRESS). The about box's link opens it, and
// so does the options sheet's help.

const char* ProductWebAddress();
