# A static library from every source and .ui file of one src/ folder.
function(bidbench_subsystem target)
    file(GLOB sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.ui"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(sources)
        file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
        add_library(${target} STATIC ${sources} ${headers})
        target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
        target_link_libraries(${target} PUBLIC ${ARGN})
    else()
        # A folder whose code has not been written yet.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE "${CMAKE_CURRENT_SOURCE_DIR}")
        target_link_libraries(${target} INTERFACE ${ARGN})
    endif()
endfunction()
