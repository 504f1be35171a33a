#pragma once
// The base library: language object, date and time records, relative paths,
// binary record files, the directory list file, CRCs, system information and
// shared memory, path and file functions.
#include "baselib/sl_binfile.h"
#include "baselib/sl_crc.h"
#include "baselib/sl_datetime.h"
#include "baselib/sl_dirlist.h"
#include "baselib/sl_filefuncs.h"
#include "baselib/sl_lang.h"
#include "baselib/sl_relpath.h"
#include "baselib/sl_sysinfo.h"
