# The build day as YYYYMMDD, honouring SOURCE_DATE_EPOCH for reproducible builds.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND date -u -d @$ENV{SOURCE_DATE_EPOCH} +%Y%m%d
                  OUTPUT_VARIABLE VP_BUILD_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
  string(TIMESTAMP VP_BUILD_DATE "%Y%m%d")
endif()
