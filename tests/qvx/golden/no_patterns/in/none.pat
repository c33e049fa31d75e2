/ nothing to search

   
