# SPDX-License-Identifier: GPL-3.0-or-later
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
