<script type="text/javascript">
/* Tandeo returning subscribers: a visitor who has already signed up (the personalisation cookie
   is set) sees a bar at the top of the opt-in page that greets them and leads straight to the
   sales letter, so they need not sign up again. */
(function () {
  var letter = "[SALES LETTER URL]";
  var salutation = "[DEFAULT SALUTATION]";

  function escapeHtml(text) {
    return String(text).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;")
      .replace(/"/g, "&quot;").replace(/'/g, "&#39;");
  }

  function returning() {
    return /(^|;\s*)tdo_fname=[^;]/.test(document.cookie || "");
  }

  // Only web addresses become links; anything else the letter field may hold is ignored.
  function letterAddress() {
    var url = letter.replace(/^\s+|\s+$/g, "");
    return /^https?:\/\/[^\s"'<>]+$/i.test(url) ? url : "";
  }

  function showBar() {
    if (!returning() || !document.body || document.getElementById("tdo-returning"))
      return;
    var who = typeof fname === "string" && fname ? fname : escapeHtml(salutation);
    var bar = document.createElement("p");
    bar.id = "tdo-returning";
    bar.className = "tdo-returning";
    bar.innerHTML = "Welcome back, " + who + "! You are already on the list. ";
    var url = letterAddress();
    if (url) {
      var link = document.createElement("a");
      link.href = url;
      link.appendChild(document.createTextNode("Go straight to the sales letter \u00bb"));
      bar.appendChild(link);
    }
    document.body.insertBefore(bar, document.body.firstChild);
  }

  if (document.readyState === "loading")
    document.addEventListener("DOMContentLoaded", showBar);
  else
    showBar();
})();
</script>
