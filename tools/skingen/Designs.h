// SPDX-License-Identifier: MIT
#pragma once

#include "SkinArt.h"
#include "SkinCatalog.h"

// The art of every skin in the catalogue. An unknown name gives a design
// without painters.
namespace Designs {

SkinArt::FaceDesign face(const SkinCatalog::Face &entry);
SkinArt::StripDesign strip(const SkinCatalog::Strip &entry);

} // namespace Designs
