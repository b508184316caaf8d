# Run by cpack once it has put the files of a download together, before it packs them: every file
# and folder dated as the sources' last commit (SOURCE_DATE_EPOCH), so that a download made again
# from the same sources is the same, byte for byte; the setup program and the packages keep the
# files' dates.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
  execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${staged} COMMAND_ERROR_IS_FATAL ANY)
endif()
