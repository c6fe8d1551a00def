# What the packing scripts share: the time every entry is dated at, the packing of a staged folder
# into a ZIP that comes out byte for byte the same from the same inputs, and SHA256SUMS.

# The commit's time (or SOURCE_DATE_EPOCH) into `var`; outside a clone, the earliest time a ZIP
# entry can hold.
function(tarvik_zip_epoch var source_dir)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(epoch $ENV{SOURCE_DATE_EPOCH})
    else()
        execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
        if(NOT status EQUAL 0 OR epoch STREQUAL "")
            set(epoch 315532800)
        endif()
    endif()
    set(${var} ${epoch} PARENT_SCOPE)
endfunction()

# Packs everything under `stage` into `zip`: every entry dated at `epoch`, in UTC, in sorted order,
# with fixed permissions and no owner, without directory entries or extra time fields.
function(tarvik_pack_stage stage zip epoch)
    file(GLOB_RECURSE entries RELATIVE ${stage} ${stage}/*)
    list(SORT entries)
    foreach(entry IN LISTS entries)
        file(CHMOD ${stage}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endforeach()
    execute_process(COMMAND touch -d @${epoch} ${entries} WORKING_DIRECTORY ${stage}
        COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${zip}.part)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 zip -X -D -q ${zip}.part ${entries}
        WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME ${zip}.part ${zip})
endfunction()

# Copies `program` stripped of its symbols to `destination`; strip writes the time of day into the
# PE header unless SOURCE_DATE_EPOCH says otherwise, and 0 is what the linker writes too.
function(tarvik_strip_to program destination strip)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
        ${strip} -o ${destination} ${program} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# OUT/SHA256SUMS for the product ZIP and, once it is there, the test package.
function(tarvik_write_sums out product_name)
    string(REPLACE "-win" "-tests-win" tests_name ${product_name})
    set(sums "")
    foreach(name IN ITEMS ${product_name} ${tests_name})
        if(EXISTS ${out}/${name}.zip)
            file(SHA256 ${out}/${name}.zip sum)
            string(APPEND sums "${sum}  ${name}.zip\n")
        endif()
    endforeach()
    file(WRITE ${out}/SHA256SUMS "${sums}")
endfunction()
