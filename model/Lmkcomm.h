#pragma once
// The specimen data model: containers, outlines, specimens, the data list and text helpers.

#include "model/Checked.h"
#include "model/Errors.h"
#include "model/Hooks.h"
#include "model/NumberFormat.h"
#include "model/Outline.h"
#include "model/Specimen.h"
#include "model/Text.h"
#include "model/TextFile.h"
#include "model/Vectors.h"
