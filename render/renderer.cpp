// The renderer object's lifetime, shared by every graphics backend.
#include "render/render.h"

CDx_Gr::CDx_Gr() = default;
CDx_Gr::~CDx_Gr() = default;
