# The windows and our stand-ins for the vendor widgets (Qt Widgets), on top of money_core: every source
# of these folders that the core does not list, except the executable's main.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

file(GLOB MONEY_UI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/access/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/subjects/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/transactions/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/reports/*.cpp)
get_target_property(MONEY_CORE_LISTED money_core SOURCES)
foreach(core_source IN LISTS MONEY_CORE_LISTED)
  list(REMOVE_ITEM MONEY_UI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${core_source})
endforeach()
list(REMOVE_ITEM MONEY_UI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell/main.cpp)

add_library(money_ui STATIC ${MONEY_UI_SOURCES})
target_include_directories(money_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(money_ui PUBLIC money_core Qt6::Widgets Qt6::PrintSupport)

# The program; a delivered ledger is put beside it when none is there.
add_executable(money shell/main.cpp)
target_link_libraries(money PRIVATE money_ui)
add_custom_target(money_delivered_ledger ALL
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:money-ledger> -DLEDGER=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/money.mdb
          -P ${PROJECT_SOURCE_DIR}/cmake/ensure_ledger.cmake
  COMMENT "Putting a delivered ledger beside the program")
add_dependencies(money_delivered_ledger money-ledger)
add_dependencies(money money_delivered_ledger)
