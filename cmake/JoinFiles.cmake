# Joins the files *.mld of PARTS_DIR, in name order, into OUTPUT.
file(GLOB parts ${PARTS_DIR}/*.mld)
list(SORT parts)
file(WRITE ${OUTPUT}.tmp "")
foreach(part IN LISTS parts)
  file(READ ${part} text)
  file(APPEND ${OUTPUT}.tmp "${text}")
endforeach()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
