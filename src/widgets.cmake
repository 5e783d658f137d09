# The windows and our stand-ins for the vendor widgets (Qt Widgets), on top of money_core.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(money_ui STATIC
  ui/message_service.cpp
)
target_include_directories(money_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(money_ui PUBLIC money_core Qt6::Widgets Qt6::PrintSupport)
