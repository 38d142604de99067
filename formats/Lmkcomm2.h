#pragma once
// The landmark data files: reader, writer, matrix exports and their helpers.

#include "formats/ChainCode.h"
#include "formats/Reader.h"
