#pragma once
// The landmark data files: reader, writer, matrix exports and their helpers.

#include "formats/ChainCode.h"
#include "formats/MxtExport.h"
#include "formats/Reader.h"
#include "formats/SafeReplace.h"
#include "formats/Writer.h"
