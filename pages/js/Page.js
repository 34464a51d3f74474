// Small behaviour shared by all pages.
// - A text box with data-radio="ID" selects that radio (by a click, so the program hears of it)
//   as soon as the user types into the box.
// - An element with data-focus="ID" moves the focus to that element when clicked.
// - Tab and Shift+Tab go through the page's controls top to bottom, each radio a stop of its own,
//   and wrap around at the ends, so the focus never rests on an invisible stop outside them.
// - A file dropped on the page must not replace the page.
(function () {
  'use strict';

  document.querySelectorAll('[data-radio]').forEach(function (box) {
    box.addEventListener('input', function () {
      var radio = document.getElementById(box.dataset.radio);
      if (radio && !radio.checked && !radio.disabled)
        radio.click();
    });
  });

  document.querySelectorAll('[data-focus]').forEach(function (link) {
    link.addEventListener('click', function () {
      var target = document.getElementById(link.dataset.focus);
      if (target) {
        target.focus();
        if (target.select)
          target.select();
      }
    });
  });

  function tabStops() {
    return Array.prototype.filter.call(
      document.querySelectorAll('input, select, textarea, button, a[href], [tabindex]'),
      function (e) {
        return !e.disabled && e.tabIndex >= 0 && e.type !== 'hidden' && e.getClientRects().length > 0 &&
               getComputedStyle(e).visibility !== 'hidden';
      });
  }

  document.addEventListener('keydown', function (event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey)
      return;
    var stops = tabStops();
    if (!stops.length)
      return;
    var at = stops.indexOf(document.activeElement);
    var step = event.shiftKey ? stops.length - 1 : 1;
    var next = at < 0 ? (event.shiftKey ? stops.length - 1 : 0) : (at + step) % stops.length;
    event.preventDefault();
    stops[next].focus();
  });

  ['dragover', 'drop'].forEach(function (name) {
    window.addEventListener(name, function (event) { event.preventDefault(); });
  });
})();
